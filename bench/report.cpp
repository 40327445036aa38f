#include "report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

bool meets(const FigureRow& row, double value) {
    if (row.goal.empty()) return true;
    if (std::isnan(value)) return false;
    if (row.goal.rfind("<=", 0) == 0) return value <= row.goalValue;
    if (row.goal.rfind(">=", 0) == 0) return value >= row.goalValue;
    return value == row.goalValue;
}

namespace {

std::string number(double value) {
    if (std::isnan(value)) return "-";
    char text[32];
    std::snprintf(text, sizeof text, std::fabs(value - std::round(value)) < 1e-9 ? "%.0f" : "%.2f", value);
    return text;
}

std::string verdict(const FigureRow& row, double value) {
    if (row.goal.empty()) return "";
    return meets(row, value) ? "" : " MISSED";
}

std::string labelOf(const FigureRow& row) { return row.label + (row.unit.empty() ? "" : " (" + row.unit + ")"); }

std::string jsonNumber(double value) { return std::isnan(value) ? "null" : number(value); }

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

}  // namespace

void printTable(const std::vector<FigureRow>& rows) {
    int width = 6;
    for (const FigureRow& row : rows) width = std::max(width, int(labelOf(row).size()));
    std::printf("%-*s %12s %12s   %s\n", width, "figure", "idle", "busy", "goal");
    for (const FigureRow& row : rows) {
        const std::string label = labelOf(row);
        const std::string idle = number(row.idle) + verdict(row, row.idle);
        const std::string busy = number(row.busy) + verdict(row, row.busy);
        const std::string goal = row.goal.empty() ? "" : row.goal + " " + number(row.goalValue);
        std::printf("%-*s %12s %12s   %s\n", width, label.c_str(), idle.c_str(), busy.c_str(), goal.c_str());
    }
}

void writeJson(const std::string& path, const std::vector<FigureRow>& rows, const std::string& machine,
               const std::string& date, int bars) {
    std::ofstream out(path);
    out << "{\n  \"date\": \"" << escaped(date) << "\",\n  \"machine\": \"" << escaped(machine)
        << "\",\n  \"bars\": " << bars << ",\n  \"figures\": {\n";
    for (size_t i = 0; i < rows.size(); ++i) {
        const FigureRow& row = rows[i];
        out << "    \"" << row.key << "\": {\"unit\": \"" << escaped(row.unit) << "\", \"idle\": " << jsonNumber(row.idle)
            << ", \"busy\": " << jsonNumber(row.busy);
        if (!row.goal.empty())
            out << ", \"goal\": \"" << row.goal << " " << number(row.goalValue)
                << "\", \"met\": " << ((meets(row, row.idle) && meets(row, row.busy)) ? "true" : "false");
        out << "}" << (i + 1 < rows.size() ? "," : "") << "\n";
    }
    out << "  }\n}\n";
}
