#include "overlays/AlertTrace.h"

#include "overlays/AlertList.h"
#include "toolkit/JsonText.h"

#include <sstream>

std::string AlertsJson(const AlertList& alerts) {
    std::ostringstream o;
    o.precision(9);
    o << "[";
    bool first = true;
    for (const Alert& alert : alerts.Alerts()) {
        o << (first ? "" : ",") << "{\"text\":" << JsonString(alert.text) << ",\"x\":" << alert.x
          << ",\"y\":" << alert.y << ",\"alpha\":" << alert.alpha << ",\"align\":" << alert.align
          << "}";
        first = false;
    }
    o << "]";
    return o.str();
}
