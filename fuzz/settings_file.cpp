// The settings file: a load fills one slot per line, the three written slots
// of whatever it makes of any bytes survive a save and a load, and so do any
// three single-line texts the program could hold.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "storage/line_reader.h"
#include "storage/settings.h"

namespace {

using quillora::Settings;

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::string SingleLine(std::string text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
    return text;
}

// The first setting is a days code from the menu or a text a load left; a
// load skips byte-order marks at the start of the file, so neither begins
// with one (the file is written without a mark).
std::string FirstSetting(std::string text) {
    text = SingleLine(std::move(text));
    while (text.starts_with(ByteOrderMark))
        text.erase(0, ByteOrderMark.size());
    return text;
}

// The written slots are kept and the others read back empty.
bool WrittenSlotsKept(const Settings& settings, const Settings& reloaded) {
    for (int slot = 0; slot < quillora::SettingsSlotCount; ++slot) {
        const std::string& expected = slot < quillora::SettingsSlotsWritten ? settings.Get(slot) : "";
        if (reloaded.Get(slot) != expected) return false;
    }
    return true;
}

// Line k of the file (after any byte-order marks) is slot k - 1, lines after
// the fifth are ignored and missing ones leave their slots empty.
bool LoadedAsLaidOut(std::string_view bytes, const Settings& loaded) {
    quillora::LineReader reader(quillora::WithoutByteOrderMark(bytes));
    for (int slot = 0; slot < quillora::SettingsSlotCount; ++slot) {
        const std::string line = reader.AtEnd() ? std::string() : reader.ReadLine();
        if (loaded.Get(slot) != line) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Settings loaded = quillora::ParseSettings(bytes);
    FUZZ_CHECK(LoadedAsLaidOut(bytes, loaded));
    FUZZ_CHECK(!loaded.Get(0).starts_with(ByteOrderMark));
    const std::string saved = quillora::SettingsToBytes(loaded);
    FUZZ_CHECK(WrittenSlotsKept(loaded, quillora::ParseSettings(saved)));
    FUZZ_CHECK(quillora::SettingsToBytes(quillora::ParseSettings(saved)) == saved);

    FuzzedDataProvider input(data, size);
    Settings built;
    built.Set(0, FirstSetting(input.ConsumeRandomLengthString(32)));
    for (int slot = 1; slot < quillora::SettingsSlotsWritten; ++slot)
        built.Set(slot, SingleLine(input.ConsumeRandomLengthString(32)));
    FUZZ_CHECK(WrittenSlotsKept(built, quillora::ParseSettings(quillora::SettingsToBytes(built))));
    return 0;
}
