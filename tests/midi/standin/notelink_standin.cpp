#include "notelink_standin.h"

#include "platform/pluginhost.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace portmidi_standin {

std::string notelinkLibraryFile() { return NOTELINK_STANDIN_LIBRARY; }

std::string newFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "notelink-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a folder for a library copy");
    return pattern;
}

std::string folderWith(const std::vector<std::pair<std::string, std::string>>& files) {
    const std::string folder = newFolder();
    for (const auto& [from, name] : files)
        std::filesystem::copy_file(from, std::filesystem::path(folder) / name);
    return folder;
}

void removeFolder(const std::string& folder) { std::filesystem::remove_all(folder); }

bool loadFreshNotelink() {
    // A library loaded from a new path is a new instance with state of its
    // own; once loaded, its file is no longer needed.
    const std::string folder = folderWith({{notelinkLibraryFile(), "libNotelink.so"}});
    const bool bound = platform::loadPlugins(QString::fromStdString(folder));
    removeFolder(folder);
    return bound;
}

}  // namespace portmidi_standin
