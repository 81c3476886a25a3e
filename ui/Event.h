#pragma once

#include <Rocket/Core/EventListener.h>

#include "core/text/ZqString.h"

// The listener of one event attribute of one element ("onclick" and the like): it hands the
// attribute's text to the UI service, which loads the document it names or runs it as Tcl.
class Event : public Rocket::Core::EventListener {
public:
    explicit Event(const orvo::ZqString& script) : script_(script) {}

    void ProcessEvent(Rocket::Core::Event& event) override;
    // Each attribute owns its listener, so the listener ends with the attribute.
    void OnDetach(Rocket::Core::Element* element) override;

    const orvo::ZqString& getScript() const { return script_; }

private:
    orvo::ZqString script_;
};
