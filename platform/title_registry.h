#pragma once
// Which main-window titles are in use by running copies of the program: the
// stand-in for searching top-level windows by their exact title.
#include <memory>
#include <string>

namespace orvane::platform {

// Keeps a title in use until destroyed.
class TitleHold {
public:
    virtual ~TitleHold() = default;
    virtual const std::string& title() const = 0;
};

class TitleRegistry {
public:
    virtual ~TitleRegistry() = default;
    // True when a running copy holds exactly this title.
    virtual bool Exists(const std::string& title) = 0;
    // Takes the title for the caller, atomically: returns null when somebody
    // holds it already, so two copies can never hold the same title; `error`
    // then stays as it was. Also null when no title can be held here at all
    // (the registry's folder is unusable), with the reason in `error` when
    // given.
    virtual std::unique_ptr<TitleHold> TryHold(const std::string& title, std::string* error) = 0;
    std::unique_ptr<TitleHold> TryHold(const std::string& title) { return TryHold(title, nullptr); }
};

}  // namespace orvane::platform
