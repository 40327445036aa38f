#pragma once
// The benchmark's figures, each beside its goal: one table on standard
// output and the same rows as JSON.

#include <string>
#include <vector>

struct FigureRow {
    std::string key;     // JSON name
    std::string label;   // table text
    std::string unit;
    double idle;
    double busy;
    std::string goal;    // "<= 10.5", ">= 99", "== 0", or "" for none
    double goalValue;
};

// Whether `value` meets the row's goal (true where there is none).
bool meets(const FigureRow& row, double value);

void printTable(const std::vector<FigureRow>& rows);
void writeJson(const std::string& path, const std::vector<FigureRow>& rows, const std::string& machine,
               const std::string& date, int bars);
