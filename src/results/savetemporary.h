#pragma once
// The temporary file of a save. It is made beside the file it is to replace,
// so that the rename that puts it in place stays on one file system, and it
// carries a name of the program's own that no person would give a file: the
// clean-up at start can then tell what an interrupted save left behind from
// the player's own copies ("mydata.txt.backup", "mydata.txt.2024v1").

#include <QByteArray>
#include <QString>
#include <sys/types.h>

namespace savetemporary {

// The file a save to `path` replaces: `path` itself or, when it is a
// symbolic link, the file at the end of its links, which need not exist yet.
// The empty text, with `reason` set, when the links go round in a circle or
// are too many to follow.
QString replacedfile(const QString& path, QString& reason);

struct Temporary {
    int descriptor = -1;  // open for writing; -1, with errno set, when none could be made
    QByteArray path;
};

// Makes a new, empty temporary file beside `target`, with the permission
// bits `mode` less the umask.
Temporary create(const QString& target, mode_t mode);

// Whether `name` is, exactly and in full, a name that create() gives beside
// a file named `targetname`.
bool istemporaryname(const QByteArray& targetname, const QByteArray& name);

}  // namespace savetemporary
