#pragma once
// Start-up of the real program: the built binary, run from a scratch copy of
// its folder on the benchmark's X server, timed from the moment it is started
// to the moment the X server maps its main window.

#include <QString>
#include <vector>

struct StartupFigures {
    std::vector<double> ms;    // one per start
    double peakRssMb = 0;      // the program's own peak at rest, the largest seen
};

// `programFolder` holds the built Taptrell, its plug-in and shipped files.
StartupFigures measureStartup(const QString& programFolder, int runs);
