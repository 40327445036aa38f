#pragma once
// The names of every file the program ships and reads beside itself. The
// catalogue fetches pictures and clicks by these names; the instrument folders
// hold the seven samples named here.

#include <array>
#include <string_view>

namespace catalogue_names {

// Each picture is the PNG file of its name in the resource folder ("CR.png" for CR).
inline constexpr std::array<std::string_view, 56> pictures = {
    // rhythm groups
    "crot", "CR", "quav", "sniff", "semi", "saus", "wood", "dobe", "trip", "cq",
    "dqsq", "rtrip", "ssssss", "ssqq", "ssssq", "qssss", "eef", "rttt", "rqs",
    "sddss", "ddddss", "sdddds", "sssss", "ssrss", "sssrs",
    // notation area
    "canvasback", "cover",
    // dots of the accuracy strip and the results graph
    "bdot", "gdot", "bldot", "rdot", "bbdot",
    // button faces of the main window
    "go", "stop", "repeat", "options", "optionslight", "results", "resultslight",
    "help", "newtest",
    // the results window's replay button
    "play", "smallstop",
    // the options window: levels and time signatures
    "l1", "l2", "l3", "l4", "l5", "l6", "l7", "l8", "l1t", "t24", "t34", "t44", "t54"};

// The program's icon: one square picture per size in pixels, the PNG file
// "taptrell-<size>.png" in the icon folder inside the resource folder.
inline constexpr std::array<int, 7> icon_sizes = {16, 24, 32, 48, 64, 128, 256};

// Each sound is the WAV file of its name in the resource folder.
inline constexpr std::array<std::string_view, 2> sounds = {"hi", "low"};

// The instrument folders beside the program, in the order of the instrument menu.
inline constexpr std::array<std::string_view, 14> instruments = {
    "piano", "violin", "flute", "saxophone", "trumpet", "trombone", "rhythm guitar",
    "bass guitar", "marimba", "snare drum", "drumkit", "congas", "yangqin", "user"};

// The seven samples of an instrument folder, by pitch index 0..6.
inline constexpr std::array<std::string_view, 7> samples = {
    "c.wav", "d.wav", "e.wav", "f.wav", "g.wav", "a.wav", "ch.wav"};

}  // namespace catalogue_names
