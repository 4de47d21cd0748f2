#pragma once

namespace app {
struct App;
}

// The programs that work beside this one in its run directory: the updater,
// written out as "downloader.exe", and the companion program "kestrin.exe".
namespace companions {

// Makes the desktop launcher "BREVANT" for "kestrin.exe"; failures are silent.
void CreateDesktopShortcut(app::App& app);
// Writes the embedded updater to "downloader.exe"; failures are silent. Runs
// on any thread.
void WriteDownloader(app::App& app);
// Starts "kestrin.exe" and ends this program, whether or not it started.
void HandOverToCompanion(app::App& app);
// "检查更新": starts "downloader.exe" and ends this program, whether or not it started.
void OnCheckUpdateClick(app::App& app);

}  // namespace companions
