#pragma once

#include <Rocket/Core/Log.h>

namespace Rocket {
namespace Core {

// Implemented by the application: time, translation, logging and path rules.
class SystemInterface {
public:
    virtual ~SystemInterface() = default;

    // Seconds since an arbitrary start.
    virtual float GetElapsedTime() = 0;
    // Called with every text chunk of a document; returns the number of substitutions made.
    virtual int TranslateString(String& translated, const String& input);
    // Resolves path against the document that refers to it.
    virtual void JoinPath(String& translated_path, const String& document_path, const String& path);
    // Returns false to ask for a break into the debugger (assertions).
    virtual bool LogMessage(Log::Type type, const String& message);
};

}  // namespace Core
}  // namespace Rocket
