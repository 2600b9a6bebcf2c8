// The three 32-character ITA2 (Baudot) tables shared by the RTTY receiver and transmitter.
// Index = the 5-bit code with the first data bit on the line as the most significant bit
// (ITA2 bit 1 is bit 4 of the index). The bytes 'R', 'N' and 'L' at indexes 0, 27 and 31
// are not characters but markers for NUL, FIGS and LTRS.
#pragma once

#include <string_view>

namespace vexa::engine {

inline constexpr int kBaudotTableSize = 32;

// Letters shift, lower case as stored; CR (13) at 2, LF (10) at 8.
inline constexpr std::string_view kBaudotLetters = "Rt\ro hnm\nlrgipcvezdbsyfxawjNuqkL";
// Figures shift.
inline constexpr std::string_view kBaudotFigures = "R5\r9 #,.\n)4&80:=3+$?'6!/-2'N71(L";
// What the receiver prints for a letters-shift code: upper case, blanks where the
// letters table holds a control code or a marker.
inline constexpr std::string_view kBaudotUppercase = " T O HNM LRGIPCVEZDBSYFXAWJ UQK ";

static_assert(kBaudotLetters.size() == kBaudotTableSize);
static_assert(kBaudotFigures.size() == kBaudotTableSize);
static_assert(kBaudotUppercase.size() == kBaudotTableSize);

// Codes with a fixed meaning in both shifts.
inline constexpr int kBaudotNul = 0;
inline constexpr int kBaudotCr = 2;
inline constexpr int kBaudotSpace = 4;
inline constexpr int kBaudotLf = 8;
inline constexpr int kBaudotFigs = 27;
inline constexpr int kBaudotLtrs = 31;

// The marker bytes that stand for the shift codes and NUL inside the tables.
inline constexpr char kBaudotMarkerNul = 'R';
inline constexpr char kBaudotMarkerFigs = 'N';
inline constexpr char kBaudotMarkerLtrs = 'L';

}  // namespace vexa::engine
