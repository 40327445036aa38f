#include "procstat.h"

#include <QDir>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

double processCpuSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    const std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The command name in parentheses may hold blanks; fields count after it.
    const size_t close = text.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    double ticks = 0;
    for (int number = 3; fields >> field && number <= 15; ++number)
        if (number == 14 || number == 15) ticks += std::stod(field);  // utime, stime
    return ticks / double(sysconf(_SC_CLK_TCK));
}

long long processContextSwitches(pid_t pid) {
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    long long switches = 0;
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        std::ifstream status((tasks + "/" + task + "/status").toStdString());
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0 || line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
                switches += std::stoll(line.substr(line.find(':') + 1));
    }
    return switches;
}
