#include "ui/exchange_win.h"

#include <commdlg.h>

#include "base/scoped_win.h"
#include "storage/files_win.h"
#include "storage/folders_win.h"
#include "storage/system_code_page_win.h"
#include "ui/import_preview_win.h"
#include "ui/message_box_win.h"

namespace quillora {

namespace {

// The filters in the order of their index (1, 2, 3); the program's own
// lists and "All files" only for opening.
constexpr wchar_t SaveFilters[] = L"iCalendar (*.ics)\0*.ics\0vCard (*.vcf)\0*.vcf\0CSV (*.csv)\0*.csv\0";
constexpr wchar_t OpenFilters[] =
    L"iCalendar (*.ics)\0*.ics\0vCard (*.vcf)\0*.vcf\0CSV (*.csv)\0*.csv\0"
    L"Birthday lists (*.txt; *.bak)\0*.txt;*.bak\0All files (*.*)\0*.*\0";
constexpr wchar_t DefaultSaveExtension[] = L"ics";  // of the first filter
constexpr ExchangeFormat FilterFormats[] = {ExchangeFormat::ICalendar, ExchangeFormat::VCard,
                                            ExchangeFormat::Csv, ExchangeFormat::BirthdayList};

// Long enough for any path Windows accepts.
constexpr DWORD PathBufferSize = 32768;

void ShowOutcome(HWND owner, const char* title, const std::string& text) {
    MessageBoxA(owner, text.c_str(), title, MB_OK | MB_APPLMODAL);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Shows the file dialog through the Unicode API, so that a file in a folder
// whose name the ANSI code page cannot hold comes back as Windows names it;
// the ANSI path is then made from it by AnsiPathOf. The dialog's
// nFilterIndex then names the filter chosen.
std::optional<std::wstring> ShowFileDialog(OPENFILENAMEW& dialog, bool forSaving) {
    std::wstring buffer(PathBufferSize, L'\0');
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = PathBufferSize;
    // The dialogs' library is loaded only when the user asks for a file:
    // linked, it and what it brings along would cost every start memory.
    const UniqueModule library(LoadLibraryA("comdlg32.dll"));
    using FileDialog = BOOL(WINAPI*)(LPOPENFILENAMEW);
    const auto show = library ? reinterpret_cast<FileDialog>(reinterpret_cast<void*>(GetProcAddress(
                                    library.Get(), forSaving ? "GetSaveFileNameW" : "GetOpenFileNameW")))
                              : nullptr;
    if (!show || !show(&dialog)) return std::nullopt;
    return std::wstring(buffer.c_str());
}

std::optional<unsigned long long> SizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

std::optional<ExchangeCommands::ChosenFile> ExchangeCommands::Choose(HWND owner, bool forSaving) {
    const std::wstring initialFolder = WideFrom(CP_ACP, lastFolder_);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = forSaving ? SaveFilters : OpenFilters;
    dialog.nFilterIndex = 1;
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    // A name typed without an extension gets the chosen filter's from the
    // dialog itself (Wine's and Windows' dialogs follow the filter once a
    // default is given), so its overwrite question names the real file.
    dialog.lpstrDefExt = forSaving ? DefaultSaveExtension : nullptr;
    // The working folder stays: the program finds its data\ folder there.
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   (forSaving ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    dialog.lpstrTitle = forSaving ? L"EXPORT BIRTHDAYS" : L"IMPORT BIRTHDAYS";
    const std::optional<std::wstring> chosen = ShowFileDialog(dialog, forSaving);
    if (!chosen) return std::nullopt;
    const std::optional<std::string> path = AnsiPathOf(*chosen);
    if (!path) {
        ShowUnreachablePath(owner, *chosen);
        return std::nullopt;
    }

    ChosenFile file{*path, std::nullopt};
    if (dialog.nFilterIndex >= 1 && dialog.nFilterIndex <= std::size(FilterFormats))
        file.filterFormat = FilterFormats[dialog.nFilterIndex - 1];
    lastFolder_ = FolderOf(file.path);
    return file;
}

void ExchangeCommands::Export(HWND owner, const BirthdayTable& table, const Settings& settings) {
    const std::optional<ChosenFile> file = Choose(owner, true);
    if (!file) return;
    const auto [path, format] = ExportTargetOf(file->path, file->filterFormat);
    // The dialog asked about the name it returned; a file the program's own
    // extension rule names instead is never replaced without asking either.
    if (path != file->path && PathExists(path) &&
        MessageBoxA(owner, (path + " already exists.\r\nDo you want to replace it?").c_str(),
                    "EXPORT BIRTHDAYS", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | MB_APPLMODAL) != IDYES) {
        return;
    }
    const ExportOptions options{Today(), LeadDaysOfCode(settings.Get(DaysBeforeRemind)), &codePage_};
    const ExportResult result = ExportTable(format, table, options);
    if (!SaveWholeFile(path, result.bytes)) {
        ShowError(owner, "COULDNT SAVE: " + path, true);
        return;
    }
    ShowOutcome(owner, "EXPORT", ExportSummaryText(format, result));
}

void ExchangeCommands::Import(HWND owner, ListDocument& list) {
    const std::optional<ChosenFile> file = Choose(owner, false);
    if (file) (void)ImportFile(owner, list, file->path, file->filterFormat, "IMPORT");
}

ExchangeCommands::Answer ExchangeCommands::ImportFile(HWND owner, ListDocument& list, const std::string& path,
                                                      std::optional<ExchangeFormat> filterFormat,
                                                      const std::string& heading) {
    // Refused before reading: a huge file would only cost memory and time.
    const std::optional<unsigned long long> size = SizeOf(path);
    if (size && *size > MaxImportBytes) {
        ShowError(owner, "THE FILE IS TOO LARGE TO IMPORT (MORE THAN 16 MB).\r\n" + path, true);
        return Answer::NotRead;
    }
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        ShowError(owner, "COULDNT READ: " + path, true);
        return Answer::NotRead;
    }
    const ExchangeFormat format = ImportFormatOf(path, filterFormat, *bytes);
    const ParsedFile parsed = ParseImport(format, *bytes, {SystemShortDateOrder()});
    if (!parsed.error.empty()) {
        ShowError(owner, parsed.error + "\r\n" + path, true);
        return Answer::NotRead;
    }
    const ImportPlan plan = PlanImport(list.Table(), parsed.birthdays, codePage_);
    if (const std::string nothing = NothingToChooseText(plan); !nothing.empty()) {
        ShowOutcome(owner, "IMPORT", nothing);
        return Answer::Declined;
    }
    const std::optional<std::vector<bool>> ticks = RunImportPreview(owner, plan, heading);
    if (!ticks) return Answer::Declined;
    // Everything the import adds is one change to undo.
    const ImportChoice choice = TickedPeople(plan, *ticks);
    (void)list.AddPeople(choice.people);
    ShowOutcome(owner, "IMPORT", ImportSummaryText(choice.summary));
    return Answer::Imported;
}

}  // namespace quillora
