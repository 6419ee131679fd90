// The built-in web-data definitions.
#include <array>

#include "webdata/web_addresses.h"
#include "webdata/web_definitions.h"

namespace orvane::webdata {

namespace {

struct Currency {
    const char* query;    // the currency in the search query
    const char* title;    // field name
    const char* keyword;  // the text before the rate on the answer page
    int length;           // window length
};

constexpr std::array<Currency, 6> kCurrencies{{
    {"1usd", "USD", "1美元 =", 200},
    {"1RMB", "RMB", "1人民幣 =", 100},
    {"1JPY", "JPY", "1日元 =", 100},
    {"1CHF", "CHF", "1瑞士法郎 =", 100},
    {"1HKD", "HKD", "1港幣 =", 100},
    {"1EUR", "EUR", "1歐元 =", 100},
}};

std::string CurrencySection(int n, const Currency& c) {
    std::string s;
    s += "[Web Data " + std::to_string(n) + "]\n";
    s += std::string("web=") + kCurrencyQueryPage + "hl=zh-TW&biw=1123&bih=670&q=" + c.query +
         "+%3D%3Ftwd&aq=f&aqi=g1&aql=&oq=&gs_rfai=\n";
    s += std::string("title 1=") + c.title + "\n";
    s += std::string("keyword=") + c.keyword + "\n";
    s += "keyword_length=" + std::to_string(c.length) + "\n";
    s += "keyword_start 1= \"vk_ans vk_bk\">\n";
    s += "Keyword_end 1= 台幣\n";
    s += "Description 1=Currency rate\n";
    s += "\n";
    return s;
}

// A weather page whose keys are switched off: a run over all sections opens
// it and ends there, as the keyword reads "???".
std::string WeatherSection() {
    std::string s;
    s += "[Web Data 7]\n";
    s += std::string("web=") + kWeatherPage + "\n";
    s += ";title 1=Hsinchu\n";
    s += ";keyword=溫度\n";
    s += ";keyword_length=200\n";
    s += ";keyword_start 1=\n";
    s += ";Keyword_end 1=\n";
    s += ";Description 1=Weather\n";
    s += "\n";
    return s;
}

struct WeatherItem {
    const char* start;
    const char* description;
};

// Current conditions as the web view shows the JSON answer: the capture drops
// its double quotes, so "temp_C": "28", reads temp_C: 28,.
constexpr std::array<WeatherItem, 11> kWeatherItems{{
    {"temp_C: ", "Temperature (C)"},
    {"FeelsLikeC: ", "Feels like (C)"},
    {"humidity: ", "Humidity (%)"},
    {"pressure: ", "Pressure (hPa)"},
    {"cloudcover: ", "Cloud cover (%)"},
    {"visibility: ", "Visibility (km)"},
    {"windspeedKmph: ", "Wind speed (km/h)"},
    {"winddir16Point: ", "Wind direction"},
    {"uvIndex: ", "UV index"},
    {"precipMM: ", "Precipitation (mm)"},
    {"localObsDateTime: ", "Observation time"},
}};

std::string WeatherExampleSection() {
    std::string s;
    s += "[Web Data 0]\n";
    s += std::string("web=") + kWeatherExamplePage + "\n";
    s += "keyword=current_condition:\n";
    s += "keyword_length=1500\n";
    for (size_t k = 0; k < kWeatherItems.size(); ++k) {
        std::string i = std::to_string(k + 1);
        s += "title " + i + "=Hsinchu" + i + "\n";
        s += "keyword_start " + i + "=\"" + kWeatherItems[k].start + "\"\n";
        s += "keyword_end " + i + "=,\n";
        s += "Description " + i + "=" + kWeatherItems[k].description + "\n";
    }
    s += "\n";
    return s;
}

std::string SectionsOneToSeven() {
    std::string s;
    for (size_t k = 0; k < kCurrencies.size(); ++k) s += CurrencySection(int(k) + 1, kCurrencies[k]);
    s += WeatherSection();
    return s;
}

std::string BuildDefaults() {
    std::string s = SectionsOneToSeven();
    s += WeatherExampleSection();
    s += SectionsOneToSeven();  // a second copy: the first occurrence wins
    s += "[Web sync day]\n";
    s += "datetime=2015/7/25 下午 11:16:06\n";
    return s;
}

}  // namespace

const std::string& DefaultWebDefinitions() {
    static const std::string text = BuildDefaults();
    return text;
}

}  // namespace orvane::webdata
