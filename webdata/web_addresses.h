#pragma once
// The public web addresses the program starts with: the browser page's home
// page and the pages of the built-in web-data definitions. The README names
// them; a user changes the definitions in "web data.inf".

namespace orvane::webdata {

// The search engine's home page: the address box's first text and preset.
inline constexpr const char* kSearchEngineHomePage = "https://www.google.com/";

// The dictionary base: the dictionary box's word is looked up at this
// address + "dictionary?p=" + the word (Yahoo's Taiwan dictionary, which
// sends its old "dictionary?p=" addresses on to its dictionary search).
inline constexpr const char* kDictionaryBase = "https://tw.dictionary.yahoo.com/";

// The search engine's query page the currency sections ask (the query keys
// follow it).
inline constexpr const char* kCurrencyQueryPage = "https://www.google.com.tw/search?";

// The weather page of the built-in section 7: the Central Weather
// Administration's forecast for Hsinchu City.
inline constexpr const char* kWeatherPage =
    "https://www.cwa.gov.tw/V8/C/W/County/County.html?CID=10018";

// The weather page of the built-in example section 0: current conditions for
// Hsinchu as JSON (shown by the web view as text).
inline constexpr const char* kWeatherExamplePage = "https://wttr.in/Hsinchu?format=j1";

}  // namespace orvane::webdata
