#include "about/update_document.h"

#include <map>
#include <nlohmann/json.hpp>
#include <optional>

namespace orvane {

namespace {

using json = nlohmann::json;

// Collects the members of the top-level object with their values as texts
// (nullopt for values that are not text); nested values are only walked.
class TopLevelMembers : public nlohmann::json_sax<json> {
public:
    bool topIsObject = false;
    std::map<std::string, std::optional<std::string>> members;
    std::string error;

    bool null() override { return Value(std::nullopt); }
    bool boolean(bool) override { return Value(std::nullopt); }
    bool number_integer(number_integer_t v) override { return Value(std::to_string(v)); }
    bool number_unsigned(number_unsigned_t v) override { return Value(std::to_string(v)); }
    bool number_float(number_float_t, const string_t& written) override { return Value(written); }
    bool string(string_t& s) override { return Value(s); }
    bool binary(binary_t&) override { return Value(std::nullopt); }
    bool start_object(std::size_t) override {
        if (m_depth == 0) topIsObject = true;
        Value(std::nullopt);
        ++m_depth;
        return true;
    }
    bool key(string_t& k) override {
        if (m_depth == 1) m_key = k;
        return true;
    }
    bool end_object() override {
        --m_depth;
        return true;
    }
    bool start_array(std::size_t) override {
        Value(std::nullopt);
        ++m_depth;
        return true;
    }
    bool end_array() override {
        --m_depth;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) override {
        error = e.what();
        return false;
    }

private:
    // A value at member level: the first of each name is kept.
    bool Value(std::optional<std::string> text) {
        if (m_depth == 1 && m_key) {
            members.emplace(*m_key, std::move(text));
            m_key.reset();
        }
        return true;
    }

    int m_depth = 0;
    std::optional<std::string> m_key;
};

}  // namespace

UpdateDocumentRead ReadUpdateDocument(std::string_view body) {
    UpdateDocumentRead read;
    TopLevelMembers sax;
    bool parsed = false;
    try {
        parsed = json::sax_parse(body.begin(), body.end(), &sax);
    } catch (const std::exception& e) {
        sax.error = e.what();
    }
    if (!parsed) {
        read.error = "Not a JSON document: " + (sax.error.empty() ? std::string("parse error") : sax.error);
        return read;
    }
    if (!sax.topIsObject) {
        read.error = "The document is not a JSON object";
        return read;
    }
    for (const char* name : kUpdateMembers) {
        auto it = sax.members.find(name);
        if (it == sax.members.end()) {
            read.error = std::string("No member \"") + name + "\"";
            return read;
        }
        if (!it->second) {
            read.error = std::string("The member \"") + name + "\" is not a text or a number";
            return read;
        }
        read.values.push_back(*it->second);
    }
    return read;
}

}  // namespace orvane
