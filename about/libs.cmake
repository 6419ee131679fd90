# The update document is parsed with nlohmann/json (header-only).
find_package(nlohmann_json REQUIRED)
target_link_libraries(orvane_about PUBLIC nlohmann_json::nlohmann_json)
