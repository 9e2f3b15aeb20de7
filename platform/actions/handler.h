#pragma once

// What the executor runs: one decoded action, able to apply itself to a document.

#include "actions/document_ref.h"
#include "base/result.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace orvo_actions::executor {

class ActionHandler {
public:
    virtual ~ActionHandler() = default;

    // The action in readable form, for logs and the framework's reports.
    virtual std::string debug_text() const = 0;
    // Applies the action. On error the handler should leave the document unchanged;
    // the executor reports the error and replicates nothing.
    virtual base::Result<void> apply(DocumentRef document) = 0;
    // Version of the payload's encoding; travels with the replicated action so a peer
    // can tell an encoding it does not know from a broken one.
    virtual std::uint32_t schema_version() const = 0;
    // Whether the action is passed to the transport once applied. Actions that only
    // matter on this machine answer false.
    virtual bool replicates() const = 0;
};

// A handler for applications whose document is a `Document`: the type check is done
// once here, with a clear error when the executor is handed something else.
template <typename Document>
class TypedActionHandler : public ActionHandler {
public:
    base::Result<void> apply(DocumentRef document) final
    {
        Document* typed = document.get<Document>();
        if (!typed)
            return base::error("handler expects a document of type " + readable_type_name(typeid(Document))
                               + ", got " + document.type_name());
        return apply_to(*typed);
    }

protected:
    virtual base::Result<void> apply_to(Document& document) = 0;
};

// A new handler as the base type decoders return, so that a decoder can write
// `return make_handler<MyHandler>(action);` into a base::Result.
template <typename Handler, typename... Args>
std::unique_ptr<ActionHandler> make_handler(Args&&... args)
{
    return std::make_unique<Handler>(std::forward<Args>(args)...);
}

} // namespace orvo_actions::executor
