#pragma once
// Command routing: response tables of command ids with their handlers and enablers.
//
// Each class that answers commands adds its own table in its constructor. A target searches
// the tables added last first, so a derived class's table is searched before its base's, and
// the first handler found wins. A chain of targets (client window, frame, application) is
// searched in order; an enabler is looked up the same way, and a command without an enabler
// is enabled when some table answers it.

#include <functional>
#include <initializer_list>
#include <map>
#include <vector>

namespace plat {

// Handed to an enabler, which decides whether its command is available now.
class CommandEnabler {
public:
    explicit CommandEnabler(int id) : m_id(id) {}
    int GetId() const { return m_id; }
    void Enable(bool enable = true) { m_enabled = enable; }
    bool IsEnabled() const { return m_enabled; }

private:
    int m_id;
    bool m_enabled = true;
};

using CommandHandler = std::function<void()>;
using EnablerHandler = std::function<void(CommandEnabler&)>;

struct ResponseEntry {
    int id = 0;
    CommandHandler handler;   // may be empty: an entry that only enables
    EnablerHandler enabler;   // may be empty: enabled whenever answered
};

class CommandTarget {
public:
    virtual ~CommandTarget() = default;

    // Adds a table that is searched before every table added earlier.
    void AddResponseTable(std::initializer_list<ResponseEntry> entries);

    // The first handler for the id, or null.
    const CommandHandler* FindHandler(int id) const;
    // The first enabler for the id, or null.
    const EnablerHandler* FindEnabler(int id) const;

private:
    std::vector<std::map<int, ResponseEntry>> m_tables;  // last added searched first
};

// Runs the first handler along the chain; false when none answers.
bool RouteCommand(const std::vector<CommandTarget*>& chain, int id);
// Whether the command is enabled along the chain: the first enabler decides; without one,
// whether some table answers the id.
bool QueryCommandEnabled(const std::vector<CommandTarget*>& chain, int id);

} // namespace plat
