#include "shell/catalogue.h"

#include "platform/files.h"
#include "shell/catalogue_names.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

namespace catalogue {
namespace {

template <class Names>
void requireShipped(const Names& names, std::string_view name) {
    if (std::find(names.begin(), names.end(), name) == names.end())
        throw std::invalid_argument("not a shipped file: " + std::string(name));
}

QString resourceFile(std::string_view name, const char* extension) {
    return QDir(platform::ResourceFolder())
        .filePath(QString::fromLatin1(name.data(), qsizetype(name.size())) + QLatin1String(extension));
}

std::map<std::string, platform::PicturePtr, std::less<>>& pictures() {
    static std::map<std::string, platform::PicturePtr, std::less<>> cache;
    return cache;
}

std::map<std::string, platform::SoundPtr, std::less<>>& sounds() {
    static std::map<std::string, platform::SoundPtr, std::less<>> cache;
    return cache;
}

}  // namespace

platform::PicturePtr picture(std::string_view name) {
    auto found = pictures().find(name);
    if (found == pictures().end()) {
        requireShipped(catalogue_names::pictures, name);
        auto handle = std::make_shared<platform::Picture>(resourceFile(name, ".png"));
        found = pictures().emplace(std::string(name), std::move(handle)).first;
    }
    found->second->image();  // loads now, or tries again after a failure
    return found->second;
}

platform::SoundPtr sound(std::string_view name) {
    auto found = sounds().find(name);
    if (found == sounds().end()) {
        requireShipped(catalogue_names::sounds, name);
        found = sounds().emplace(std::string(name), platform::Sound::open(resourceFile(name, ".wav"))).first;
    }
    return found->second;
}

QIcon applicationIcon() {
    QIcon icon;
    const QDir folder(QDir(platform::ResourceFolder()).filePath(QStringLiteral("icon")));
    for (int size : catalogue_names::icon_sizes) {
        const QString file = folder.filePath(QStringLiteral("taptrell-%1.png").arg(size));
        if (QFileInfo::exists(file)) icon.addFile(file, QSize(size, size));
    }
    return icon;
}

void clear() {
    pictures().clear();
    sounds().clear();
}

}  // namespace catalogue
