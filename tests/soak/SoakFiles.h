#pragma once
// What is in the folders the program could write to, to find files written that nobody asked
// for: every file's size, time of change and contents.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace kq9soak {

struct TFileState {
    uintmax_t Size = 0;
    std::filesystem::file_time_type Changed;
    size_t Hash = 0;
    bool operator==(const TFileState&) const = default;
};

using TFolderState = std::map<std::string, TFileState>;

// Every file under `folders`, by its full path.
TFolderState TakeFolderState(const std::vector<std::filesystem::path>& folders);
// The files that came, went or changed from `before` to `after`.
std::vector<std::string> ChangedFiles(const TFolderState& before, const TFolderState& after);

} // namespace kq9soak
