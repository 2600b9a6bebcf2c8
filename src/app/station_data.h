// The station's own data: held in memory only, every start begins with these defaults;
// edited on the settings sheet's personal-data page.
#pragma once

#include <string>

namespace vexa::app {

struct StationData {
    std::string call = "XX9XX";
    std::string name = "Sam";
    std::string qth = "Lakeside";
    double latitudeDeg = 50.5;   // north positive
    double longitudeDeg = 30.5;  // east positive
};

}  // namespace vexa::app
