#include "web/forms/events.h"

#include <emscripten.h>

#include <map>
#include <utility>

namespace forms {
namespace {

std::map<int, std::function<void()>> &handlers()
{
    static std::map<int, std::function<void()>> all;
    return all;
}

int nextId = 1;

EM_JS(void, js_fire_queued, (int id), { Forms.fire(id, true); });

} // namespace

int addHandler(std::function<void()> handler)
{
    handlers().emplace(nextId, std::move(handler));
    return nextId++;
}

void removeHandler(int id) { handlers().erase(id); }

// A one-off handler that forgets itself once run.
void post(std::function<void()> handler)
{
    const int id = nextId;
    addHandler([id, handler = std::move(handler)] {
        const auto run = handler; // the handler is erased below, run a copy
        removeHandler(id);
        run();
    });
    js_fire_queued(id);
}

} // namespace forms

extern "C" EMSCRIPTEN_KEEPALIVE void forms_event(int id)
{
    auto &all = forms::handlers();
    if (const auto it = all.find(id); it != all.end()) {
        const auto handler = it->second; // a handler may remove itself
        handler();
    }
}
