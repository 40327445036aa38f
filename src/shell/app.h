#pragma once
// The application object: version data and the program's random-number
// source. Reached through App().

#include "platform/random.h"

#include <QString>
#include <memory>

class Taptrell {
public:
    Taptrell();

    // The source of the bar generator, the pitch walk and the taps; made by
    // the application's open event.
    std::shared_ptr<platform::Random> Randomizer;

    void Event_Open();

    static constexpr int MajorVersion = 1;
    static constexpr int MinorVersion = 4;
    static constexpr int BugVersion = 0;
    static constexpr int NonReleaseVersion = 31;  // the build number
    static constexpr int StageCode = 3;           // final release
    static inline const QString ShortVersion = QStringLiteral("1.4");
    static inline const QString LongVersion = QStringLiteral("Taptrell 1.4.0 (build 31)");
    static inline const QString PackageInfo;
};

// The running application object. Throws NilObjectException when none is registered.
Taptrell& App();
// Registers (or, with nullptr, forgets) the running application object.
void setApp(Taptrell* app);
