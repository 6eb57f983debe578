#pragma once
// The list document's files held in memory, with the ways real files
// misbehave on demand: a list file held by another program, a writer still
// at work, a file that changes right before the save replaces it, saves that
// fail.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "storage/list_document.h"

namespace quillora {

class MemoryListStore final : public ListStore {
public:
    ListFileLook file{ListFileLook::State::Read, "0\r\n"};
    std::optional<std::string> journal;
    bool savesFail = false;
    bool journalWritesFail = false;
    // Run at the next pause (another writer finishing its work), then gone.
    std::function<void()> atNextPause;
    // Run once right before a save would replace the file.
    std::function<void()> beforeReplace;
    // Another program writes the file again right before every replace.
    bool keepsChanging = false;
    std::vector<std::string> keptLists, keptJournals, rescueCopies;
    std::vector<std::vector<BirthdayEntry>> keptPeople;
    int pausedMillis = 0;
    std::map<std::string, std::string> dataFiles;

    void Write(const BirthdayTable& table) { file = {ListFileLook::State::Read, ListToBytes(table)}; }

    ListFileLook ReadList() override { return file; }
    SaveResult SaveList(const BirthdayTable& table, const std::function<bool()>& fileAsExpected) override {
        if (savesFail || file.state == ListFileLook::State::Held) return SaveResult::Failed;
        if (beforeReplace) std::exchange(beforeReplace, nullptr)();
        if (keepsChanging) file.bytes += "\r\n";
        if (!fileAsExpected()) return SaveResult::FileChanged;
        Write(table);
        return SaveResult::Saved;
    }
    std::optional<std::string> ReadJournal() override { return journal; }
    bool WriteJournal(std::string_view bytes) override {
        if (journalWritesFail) return false;
        journal = std::string(bytes);
        return true;
    }
    void RemoveJournal() override { journal.reset(); }
    std::optional<std::string> KeepUnreadableList(std::string_view bytes) override {
        return Kept(keptLists, std::string(bytes), "unreadable list ");
    }
    std::optional<std::string> KeepOtherVersion(const std::vector<BirthdayEntry>& people) override {
        keptPeople.push_back(people);
        return "other version " + std::to_string(keptPeople.size());
    }
    std::optional<std::string> KeepUnreadableJournal(std::string_view bytes) override {
        return Kept(keptJournals, std::string(bytes), "unreadable journal ");
    }
    std::optional<std::string> SaveRescueCopy(const BirthdayTable& table) override {
        return Kept(rescueCopies, ListToBytes(table), "rescue copy ");
    }
    std::optional<std::string> ReadDataFile(std::string_view name) override {
        const auto found = dataFiles.find(std::string(name));
        return found == dataFiles.end() ? std::nullopt : std::optional(found->second);
    }
    bool WriteDataFile(std::string_view name, std::string_view bytes) override {
        dataFiles[std::string(name)] = std::string(bytes);
        return true;
    }
    void Pause(int millis) override {
        pausedMillis += millis;
        if (atNextPause) std::exchange(atNextPause, nullptr)();
    }

private:
    static std::string Kept(std::vector<std::string>& copies, std::string bytes, const std::string& name) {
        copies.push_back(std::move(bytes));
        return name + std::to_string(copies.size());
    }
};

}  // namespace quillora
