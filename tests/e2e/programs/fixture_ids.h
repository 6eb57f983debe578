#pragma once
// Control and command ids of the driver's fixture window.

namespace quillora::e2e::fixture {

inline constexpr const char* WindowTitle = "QUILLORA E2E FIXTURE";
inline constexpr int ButtonId = 1;
inline constexpr int TabId = 4;
inline constexpr int ListId = 5;
inline constexpr int EditId = 9;
inline constexpr int EventLogId = 20;

inline constexpr int PopupCommand = 40;
inline constexpr int ShowPlainBoxCommand = 50;
inline constexpr int ShowIconBoxCommand = 51;

inline constexpr int LongNameLength = 600;

}  // namespace quillora::e2e::fixture
