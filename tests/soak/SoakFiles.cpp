#include "SoakFiles.h"

#include <fstream>
#include <iterator>

namespace kq9soak {

namespace {

size_t HashOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    return std::hash<std::string>{}(bytes);
}

} // namespace

TFolderState TakeFolderState(const std::vector<std::filesystem::path>& folders) {
    TFolderState state;
    for (const auto& folder : folders) {
        std::error_code error;
        for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
             !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
            if (!it->is_regular_file(error))
                continue;
            TFileState file;
            file.Size = it->file_size(error);
            file.Changed = it->last_write_time(error);
            file.Hash = HashOf(it->path());
            state[it->path().string()] = file;
        }
    }
    return state;
}

std::vector<std::string> ChangedFiles(const TFolderState& before, const TFolderState& after) {
    std::vector<std::string> changed;
    for (const auto& [path, state] : after) {
        auto it = before.find(path);
        if (it == before.end() || !(it->second == state))
            changed.push_back(path);
    }
    for (const auto& [path, state] : before)
        if (!after.count(path))
            changed.push_back(path);
    return changed;
}

} // namespace kq9soak
