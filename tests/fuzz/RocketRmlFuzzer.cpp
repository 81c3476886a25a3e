// RML documents and inner RML: parse, style, lay out, draw, find, serialise, unload.
#include "RocketFuzzHost.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RocketFuzzHost& host = RocketFuzzHost::Instance();
    Rocket::Core::Context* context = host.GetContext();
    Rocket::Core::String text(reinterpret_cast<const char*>(data), size);
    if (Rocket::Core::ElementDocument* document = context->LoadDocumentFromMemory(text)) {
        document->Show();
        context->Update();
        context->Render("all");
        context->ProcessMouseMove(100, 100, 0);
        context->ProcessMouseButtonDown(0, 0);
        context->ProcessMouseButtonUp(0, 0);
        context->ProcessKeyDown(Rocket::Core::Input::KI_TAB, 0);
        Rocket::Core::String rml = document->GetInnerRML();
        document->SetInnerRML(rml);
        document->Close();
        document->RemoveReference();
    }
    Rocket::Core::ElementDocument* holder = context->LoadDocumentFromMemory(
        "<rml><head><style>body,div{display:block;width:300px}</style></head>"
        "<body><div id='d'/></body></rml>");
    holder->Show();
    holder->GetElementById("d")->SetInnerRML(text);
    context->Render("default");
    holder->Close();
    holder->RemoveReference();
    context->Update();
    return 0;
}
