// RCSS: a linked style sheet, a style attribute and single declarations, then style and layout.
#include "RocketFuzzHost.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RocketFuzzHost& host = RocketFuzzHost::Instance();
    Rocket::Core::Context* context = host.GetContext();
    host.file.assign(reinterpret_cast<const char*>(data), size);
    Rocket::Core::Factory::ClearStyleSheetCache();
    Rocket::Core::ElementDocument* document = context->LoadDocumentFromMemory(
        "<rml><head><link type='text/rcss' href='fuzz.rcss'/></head><body class='a' id='b'>"
        "<div class='a'>Text <span id='s'>more text</span><img src='x.png'/></div><layer "
        "name='hud'>x</layer>"
        "<div id='d'><p>p</p></div></body></rml>");
    if (document == nullptr) return 0;
    document->Show();
    context->Update();
    context->Render("all");
    Rocket::Core::Element* target = document->GetElementById("d");
    target->SetAttribute("style", host.file);
    size_t colon = host.file.find(':');
    if (colon != std::string::npos)
        target->SetProperty(host.file.substr(0, colon), host.file.substr(colon + 1));
    context->ProcessMouseMove(10, 10, 0);
    context->Render("hud");
    document->Close();
    document->RemoveReference();
    context->Update();
    return 0;
}
