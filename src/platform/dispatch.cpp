#include "platform/dispatch.h"

#include "platform/exceptions.h"
#include "platform/messagebox.h"

#include <QString>

namespace platform {

void reportUnhandled(std::string_view handler, const std::exception* error) {
    QString kind = QStringLiteral("an unknown exception");
    QString detail;
    if (error) {
        const auto* known = dynamic_cast<const RuntimeException*>(error);
        kind = QString::fromLatin1(known ? known->className() : "std::exception");
        detail = QString::fromUtf8(error->what());
    }
    QString text = QStringLiteral("An exception of class %1 was not handled in %2.")
                       .arg(kind, QString::fromUtf8(handler.data(), qsizetype(handler.size())));
    if (!detail.isEmpty()) text += QStringLiteral("\n") + detail;
    MsgBox(text);
}

}  // namespace platform
