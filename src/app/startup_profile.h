#pragma once
// Times the steps of the start-up for the benchmarks' profile. Only the
// profiling build (QUILLORA_STARTUP_PROFILE) records anything: each mark
// notes the milliseconds since the process was created, and the last one
// appends them all as one line to "startup-profile.txt" in the folder that
// APPDATA names. The shipped program does nothing here.
namespace quillora {

#ifdef QUILLORA_STARTUP_PROFILE
void MarkStartupStep(const char* step);
void WriteStartupProfile();
#else
inline void MarkStartupStep(const char*) {}
inline void WriteStartupProfile() {}
#endif

}  // namespace quillora
