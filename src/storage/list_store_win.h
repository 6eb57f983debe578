#pragma once
// The list document's files on disk: the list file in the Documents folder,
// the journal, the copies kept aside and the rescue copy beside the
// settings.
#include "storage/list_document.h"

namespace quillora {

class ListFilesOnDisk final : public ListStore {
public:
    ListFileLook ReadList() override;
    SaveResult SaveList(const BirthdayTable& table, const std::function<bool()>& fileAsExpected) override;
    std::optional<std::string> ReadJournal() override;
    bool WriteJournal(std::string_view bytes) override;
    void RemoveJournal() override;
    std::optional<std::string> KeepUnreadableList(std::string_view bytes) override;
    std::optional<std::string> KeepOtherVersion(const std::vector<BirthdayEntry>& people) override;
    std::optional<std::string> KeepUnreadableJournal(std::string_view bytes) override;
    std::optional<std::string> SaveRescueCopy(const BirthdayTable& table) override;
    void Pause(int millis) override;
    std::optional<std::string> ReadDataFile(std::string_view name) override;
    bool WriteDataFile(std::string_view name, std::string_view bytes) override;
};

}  // namespace quillora
