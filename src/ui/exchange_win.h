#pragma once
// "Import..." and "Export..." of the "Program" menu: the common file dialogs,
// reading and writing the file, and the messages about the outcome. The
// formats themselves are the portable core's.
#include <windows.h>

#include <optional>
#include <string>

#include "exchange/system_code_page_win.h"
#include "storage/birthday_table.h"
#include "storage/edit_history.h"
#include "storage/settings.h"

namespace quillora {

class ExchangeCommands {
public:
    // Asks for a file and writes every entry of the table to it, then says
    // how many went out.
    void Export(HWND owner, const BirthdayTable& table, const Settings& settings);
    // Asks for a file and adds its birthdays to the table, then sums up what
    // happened; a file that can't be read changes nothing. All its entries
    // are one change in `history`.
    void Import(HWND owner, BirthdayTable& table, EditHistory& history);

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
