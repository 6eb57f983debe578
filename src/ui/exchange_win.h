#pragma once
// "Import..." and "Export..." of the "Program" menu: the common file dialogs,
// reading and writing the file, and the messages about the outcome. The
// formats themselves are the portable core's.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "exchange/exchange.h"
#include "exchange/import_plan.h"
#include "exchange/short_date_order_win.h"
#include "storage/birthday_table.h"
#include "storage/list_document.h"
#include "storage/settings.h"
#include "storage/system_code_page_win.h"

namespace quillora {

class ExchangeCommands {
public:
    // Asks for a file and writes every entry of the table to it, then says
    // how many went out.
    void Export(HWND owner, const BirthdayTable& table, const Settings& settings);
    // Asks for a file, shows who in it could be added and adds the people
    // the user ticks, then sums up what happened. A file that can't be read,
    // or that holds nobody to add, gets a message and changes nothing; so
    // does "CANCEL" in the preview. All the people added are one change of
    // the list.
    void Import(HWND owner, ListDocument& list);
    // The same for a file the program found itself, with `heading` over the
    // preview: whether the file could not be read (the user was told), was
    // declined (CANCEL, or nobody to choose) or gave people to the list.
    enum class Answer { NotRead, Declined, Imported };
    Answer ImportFile(HWND owner, ListDocument& list, const std::string& path,
                      std::optional<ExchangeFormat> filterFormat, const std::string& heading);

private:
    struct ChosenFile {
        std::string path;
        std::optional<ExchangeFormat> filterFormat;  // nothing for "All files"
    };
    std::optional<ChosenFile> Choose(HWND owner, bool forSaving);

    std::string lastFolder_;  // where the last file was chosen, for this run
    SystemCodePage codePage_;
};

}  // namespace quillora
