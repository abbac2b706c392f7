#include "platform/Commands.h"

namespace plat {

void CommandTarget::AddResponseTable(std::initializer_list<ResponseEntry> entries) {
    std::map<int, ResponseEntry> table;
    for (const ResponseEntry& e : entries)
        table[e.id] = e;
    m_tables.push_back(std::move(table));
}

const CommandHandler* CommandTarget::FindHandler(int id) const {
    for (auto t = m_tables.rbegin(); t != m_tables.rend(); ++t) {
        const auto it = t->find(id);
        if (it != t->end() && it->second.handler)
            return &it->second.handler;
    }
    return nullptr;
}

const EnablerHandler* CommandTarget::FindEnabler(int id) const {
    for (auto t = m_tables.rbegin(); t != m_tables.rend(); ++t) {
        const auto it = t->find(id);
        if (it != t->end() && it->second.enabler)
            return &it->second.enabler;
    }
    return nullptr;
}

bool RouteCommand(const std::vector<CommandTarget*>& chain, int id) {
    for (CommandTarget* target : chain) {
        if (!target)
            continue;
        if (const CommandHandler* h = target->FindHandler(id)) {
            // Copy: the handler may replace the table that holds it.
            const CommandHandler run = *h;
            run();
            return true;
        }
    }
    return false;
}

bool QueryCommandEnabled(const std::vector<CommandTarget*>& chain, int id) {
    for (CommandTarget* target : chain) {
        if (!target)
            continue;
        if (const EnablerHandler* e = target->FindEnabler(id)) {
            CommandEnabler enabler(id);
            (*e)(enabler);
            return enabler.IsEnabled();
        }
    }
    for (CommandTarget* target : chain)
        if (target && target->FindHandler(id))
            return true;
    return false;
}

} // namespace plat
