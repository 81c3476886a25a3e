#pragma once

#include <boost/shared_ptr.hpp>
#include <utility>

#include "core/containers/Array.h"
#include "core/containers/HashedArray.h"
#include "core/containers/List.h"
#include "core/locator/ServiceSingleton.h"
#include "core/text/ZqString.h"
#include "core/time/Timer.h"
#include "ui/ElementReference.h"
#include "ui/EventHandler.h"
#include "ui/RocketFileInterface.h"
#include "ui/RocketMatrixParameterUpdater.h"
#include "ui/RocketRenderInterface.h"
#include "ui/RocketSystemInterface.h"
#include "ui/TclSandbox.h"

struct Jim_Interp;
struct Jim_Obj;

namespace Rocket {
namespace Core {
class Context;
class Element;
class ElementDocument;
}  // namespace Core
}  // namespace Rocket

namespace orvo {

// The user interface: one UI library context ("default") with the RML documents loaded into
// it, one Tcl interpreter whose global variables are the UI variables, the timers that document
// scripts start, the event handlers of the game, and the UI shader program. Game code feeds it
// focus, pointer and frame time and renders it by layer. Main thread only.
class RocketSystem : public Locator::ServiceSingleton<RocketSystem> {
public:
    // A pending script timer. For flash, name holds the classes swapped in next and command the
    // classes the element had when the flash started.
    struct TimerEntry {
        TimerEntry() : timer(0.0), document(nullptr) {}

        ZqString name;
        ZqString command;
        Timer timer;
        ElementReference element;
        Rocket::Core::ElementDocument* document;
    };

    // Passed to the UI library unchanged (the game uses 0 and 1).
    enum MouseButton : int { MOUSE_BUTTON_LEFT = 0, MOUSE_BUTTON_RIGHT = 1 };

    typedef std::pair<ZqString, boost::shared_ptr<EventHandler>> HandlerPair;

    RocketSystem();
    ~RocketSystem() override;
    RocketSystem(const RocketSystem&) = delete;
    RocketSystem& operator=(const RocketSystem&) = delete;

    void initialise();
    // Closes the documents and ends the UI library; the interpreter stays.
    void shutdown();

    // Documents. Paths are relative to the root path; loadDocument with fromRoot false resolves
    // "./" and "../" against the current root document's directory.
    bool loadDocument(const ZqString& path, bool fromRoot);
    bool addDocument(const ZqString& path, bool show);
    // From RML text whose byte at index size is 0.
    bool loadDocument(const char* text, unsigned size, const ZqString& title);
    bool addDocument(const char* text, unsigned size, const ZqString& title, bool show);
    void reloadCurrentDocuments();
    void closeCurrentDocuments();
    // By source URL, or by title for documents from memory.
    Rocket::Core::ElementDocument* findDocument(const ZqString& name) const;
    Rocket::Core::ElementDocument* getDocument(const ZqString& url) const;
    Rocket::Core::ElementDocument* getDefaultDocument() const;
    bool showDocument(const ZqString& name);
    bool hideDocument(const ZqString& name);
    bool loadFont(const ZqString& path, const ZqString& family);
    bool loadCursorDocument(const ZqString& path);

    // UI variables: global variables of the interpreter, all text.
    void setVariableValue(const ZqString& name, const ZqString& text);
    void setVariableValue(const ZqString& name, const Array<int>& values);
    void setVariableValue(const ZqString& name, const Array<ZqString>& values);
    ZqString getVariableValue(const ZqString& name) const;

    void update(double deltaSeconds);
    void render(const ZqString& layerName);

    void setResolution(unsigned width, unsigned height);
    // Scales the document's font size by its reference size against the context size.
    void scaleItems(Rocket::Core::ElementDocument* document);

    void focusOnNext();
    void focusOnPrevious();
    void focusOnNone();
    void focusOff();
    void selectFocusedElement();
    void setMousePosition(unsigned x, unsigned y);
    void setMouseButtonDown(MouseButton button);
    void setMouseButtonUp(MouseButton button);

    // Events and scripts. sourceName "__empty__" runs the script without a source name.
    bool executeTclString(const ZqString& script, const ZqString& sourceName);
    void processEvent(Rocket::Core::Element* element, const ZqString& eventType,
                      const ZqString& value);
    void registerPageEventHandler(const ZqString& documentPath,
                                  const boost::shared_ptr<EventHandler>& handler);
    void registerGlobalEventHandler(const ZqString& name,
                                    const boost::shared_ptr<EventHandler>& handler);
    void removePageEventHandler(const ZqString& documentPath);
    void removeGlobalEventHandler(const ZqString& name);
    void removeDocumentTimers(Rocket::Core::ElementDocument* document);
    // In a context: loaded (its load scripts may be running) and not yet unloaded.
    static bool isOpen(const Rocket::Core::ElementDocument* document);
    void updateTimedElements(double delta);
    // The repeat timer of element and command goes, with a log line: its script was stopped.
    void removeStoppedRepeat(Rocket::Core::Element* element, const ZqString& command);

    // After a loss of the graphics context.
    void releaseTextures();
    void releaseCompiledGeometries();
    void reinitialiseFonts();

    // Builds the UI shader program and registers its matrix updater (once). The update tries
    // again only after a build that worked: one that fails would fail (and be logged) every
    // frame.
    void loadShader();

    // What the Tcl commands reach.
    TclSandbox& getSandbox() { return sandbox; }
    Jim_Interp* getInterpreter() const { return interpreter; }
    Rocket::Core::Context* getContext() const { return context; }
    Rocket::Core::Element* getEventElement() const { return eventElement.get(); }
    // The element of an id: "this", the cache, then the event element's document. Null (with
    // the interpreter's result set) when there is none.
    Rocket::Core::Element* getEventElement(const ZqString& id);
    // The element that received the event running now.
    void setEventElement(Rocket::Core::Element* element) { eventElement = element; }
    // A "call" event with value: to the handler of the event element's document, then to
    // every global handler in registration order.
    void dispatchCall(const ZqString& value);

    const ZqString& getRootDocument() const { return rootDocument; }
    const ZqString& getCurrentDirectory() const { return currentDirectory; }
    const Array<Rocket::Core::ElementDocument*>& getCurrentDocuments() const {
        return currentDocuments;
    }
    double getTimerClock() const { return timerClock; }
    List<TimerEntry>& getDelayTimers() { return delayTimers; }
    List<TimerEntry>& getRepeatTimers() { return repeatTimers; }
    List<TimerEntry>& getFlashTimers() { return flashTimers; }
    RocketRenderInterface& getRenderInterface() { return renderInterface; }
    const boost::shared_ptr<RocketMatrixParameterUpdater>& getMatrixUpdater() const {
        return matrixUpdater;
    }

private:
    // Makes the context and registers the event instancer, unless there is a context.
    void createContext();
    bool isCurrent(const Rocket::Core::ElementDocument* document) const;
    // Reads a document from RML text in memory and gives it its title.
    Rocket::Core::ElementDocument* loadFromMemory(const char* text, unsigned size,
                                                  const ZqString& title);
    // document becomes the only current document; false when a script of a closed document
    // replaced it in turn.
    bool replaceDocuments(Rocket::Core::ElementDocument* document);
    void appendDocument(Rocket::Core::ElementDocument* document, bool show);
    // Takes the documents off the list first, so that their unload scripts may load others.
    void closeDocuments(Array<Rocket::Core::ElementDocument*>& documents);
    // The "title" element shows the document's title; then the document is scaled.
    void prepareDocument(Rocket::Core::ElementDocument* document);
    void showFocused(Rocket::Core::ElementDocument* document);
    void setFloatVariable(const char* name, unsigned value);
    void storeVariable(const ZqString& name, Jim_Obj* value);
    // null: the empty string.
    void setListVariable(const ZqString& name, Jim_Obj* list);

    RocketSystemInterface systemInterface;
    RocketRenderInterface renderInterface;
    RocketFileInterface fileInterface;
    bool rocketInitialised;
    ZqString rootDocument;
    ZqString currentDirectory;
    Rocket::Core::Context* context;
    Array<Rocket::Core::ElementDocument*> currentDocuments;
    List<Rocket::Core::ElementDocument*> postLoadDocuments;
    Array<HandlerPair> pageEventHandlers;
    Array<HandlerPair> globalEventHandlers;
    double timerClock;
    float windowWidth;
    float windowHeight;
    List<TimerEntry> delayTimers;
    List<TimerEntry> repeatTimers;
    List<TimerEntry> flashTimers;
    // Each cached element keeps a reference of its own, so a removed one never dangles.
    HashedArray<ElementReference> elementCache;
    Jim_Interp* interpreter;
    TclSandbox sandbox;
    ElementReference eventElement;
    // Registered with the shader cache once; a cache that holds it shares its ownership.
    boost::shared_ptr<RocketMatrixParameterUpdater> matrixUpdater;
    bool shaderBuildFailed = false;
};

}  // namespace orvo
