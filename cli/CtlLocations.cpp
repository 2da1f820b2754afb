#include "cli/CtlLocations.h"

#include "app/FileLocations.h"

#include <filesystem>

void SetCtlFileLocations(const TCtlOptions& options) {
    std::error_code error;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    QString programDir =
        QString::fromStdString(error ? std::string(".") : exe.parent_path().string());
    SetFileLocations(FindFileLocations(programDir, QString::fromStdString(options.Home)));
}
