#include "RocketTestSupport.h"

namespace rocket_test {
namespace {

const char* const page =
    "<rml><head><style>body, div { display: block; } #outer { width: 200px; height: 100px; } "
    "#inner { width: 50px; height: 50px; margin-left: 20px; } .t { tab-index: auto; height: 5px; "
    "}</style></head>"
    "<body id='doc' onload='load' onshow='show' onhide='hide' onunload='unload' onresize='resize'>"
    "<div id='outer' onclick='outer' onmousedown='outer' onmouseup='outer' onmouseover='outer' "
    "onmouseout='outer'>"
    "<div id='inner' onclick='inner' onmousedown='inner' onfocus='inner' onblur='inner'/></div>"
    "<div id='t1' class='t' onfocus='t1' onblur='t1'/><div id='none' class='t' style='tab-index: "
    "none'/>"
    "<div id='t2' class='t' onfocus='t2'/><div id='t3' class='t' onfocus='t3' style='display: "
    "none'/>"
    "</body></rml>";

class EventTest : public RocketTest {
protected:
    ElementDocument* Open() {
        files.files["page.rml"] = page;
        ElementDocument* document = context->LoadDocument("page.rml");
        document->Show();
        document->RemoveReference();
        return document;
    }
};

TEST_F(EventTest, CaptureTargetAndBubblePhasesInOrder) {
    ElementDocument* document = Open();
    Element* outer = document->GetElementById("outer");
    EventListener* capture = instancer.InstanceEventListener("capture");
    outer->AddEventListener("click", capture, true);
    events.clear();
    document->GetElementById("inner")->Click();
    EXPECT_EQ(events,
              (std::vector<std::string>{"capture:click:capture:outer", "inner:click:target:inner",
                                        "outer:click:bubble:outer"}));
    outer->RemoveEventListener("click", capture, true);
}

TEST_F(EventTest, StoppedEventsGoNoFurtherWhenInterruptible) {
    ElementDocument* document = Open();
    instancer.actions["inner"] = [](Event& event) { event.StopPropagation(); };
    events.clear();
    EXPECT_FALSE(document->GetElementById("inner")->DispatchEvent("click", Dictionary(), true));
    EXPECT_EQ(events, (std::vector<std::string>{"inner:click:target:inner"}));
    events.clear();
    EXPECT_TRUE(document->GetElementById("inner")->DispatchEvent("click", Dictionary(), false));
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(EventTest, DocumentLifecycleEvents) {
    ElementDocument* document = Open();
    EXPECT_EQ(events, (std::vector<std::string>{"load:load:target:doc", "show:show:target:doc"}));
    events.clear();
    context->SetDimensions(Vector2i(800, 600));
    context->SetDimensions(Vector2i(800, 600));
    document->Hide();
    EXPECT_FALSE(document->IsVisible());
    document->Close();
    document->Close();
    context->UnloadDocument(document);
    EXPECT_EQ(events, (std::vector<std::string>{"resize:resize:target:doc", "hide:hide:target:doc",
                                                "unload:unload:target:doc"}));
    EXPECT_EQ(context->GetNumDocuments(), 0);
    context->Update();
    EXPECT_EQ(instancer.listeners_alive, 0);
}

TEST_F(EventTest, MouseMovesButtonsAndClicks) {
    ElementDocument* document = Open();
    Element* inner = document->GetElementById("inner");
    events.clear();
    context->ProcessMouseMove(30, 10, 0);
    EXPECT_EQ(context->GetHoverElement(), inner);
    EXPECT_TRUE(inner->IsPseudoClassSet("hover"));
    EXPECT_TRUE(document->GetElementById("outer")->IsPseudoClassSet("hover"));
    context->ProcessMouseButtonDown(0, 0);
    context->ProcessMouseButtonUp(0, 0);
    EXPECT_EQ(context->GetFocusElement(), inner);
    EXPECT_EQ(events, (std::vector<std::string>{
                          "outer:mouseover:bubble:outer", "inner:focus:target:inner",
                          "inner:mousedown:target:inner", "outer:mousedown:bubble:outer",
                          "outer:mouseup:bubble:outer", "inner:click:target:inner",
                          "outer:click:bubble:outer"}));
    events.clear();
    // Pressed on one element and released on another: no click.
    context->ProcessMouseButtonDown(0, 0);
    context->ProcessMouseMove(150, 80, 0);
    context->ProcessMouseButtonUp(0, 0);
    EXPECT_EQ(context->GetHoverElement(), document->GetElementById("outer"));
    EXPECT_FALSE(inner->IsPseudoClassSet("hover"));
    for (const std::string& event : events)
        EXPECT_EQ(event.find(":click:"), std::string::npos) << event;
}

TEST_F(EventTest, TabMovesTheFocusOverTabStops) {
    ElementDocument* document = Open();
    EXPECT_EQ(context->GetFocusElement(), document);
    events.clear();
    context->ProcessKeyDown(Input::KI_TAB, 0);
    EXPECT_EQ(context->GetFocusElement()->GetId(), "t1");
    context->ProcessKeyDown(Input::KI_TAB, 0);
    EXPECT_EQ(context->GetFocusElement()->GetId(), "t2");
    context->ProcessKeyDown(Input::KI_TAB, 0);
    EXPECT_EQ(context->GetFocusElement()->GetId(), "t1");
    context->ProcessKeyDown(Input::KI_TAB, Input::KM_SHIFT);
    EXPECT_EQ(context->GetFocusElement()->GetId(), "t2");
    EXPECT_EQ(events, (std::vector<std::string>{"t1:focus:target:t1", "t1:blur:target:t1",
                                                "t2:focus:target:t2", "t1:focus:target:t1",
                                                "t1:blur:target:t1", "t2:focus:target:t2"}));
    context->GetFocusElement()->Blur();
    EXPECT_EQ(context->GetFocusElement(), context->GetRootElement());
}

TEST_F(EventTest, ListenerClosesItsOwnDocument) {
    ElementDocument* document = Open();
    instancer.actions["inner"] = [](Event& event) {
        event.GetTargetElement()->GetOwnerDocument()->Close();
    };
    events.clear();
    document->GetElementById("inner")->Click();
    EXPECT_EQ(events,
              (std::vector<std::string>{"inner:click:target:inner", "unload:unload:target:doc",
                                        "outer:click:bubble:outer"}));
    EXPECT_EQ(context->GetNumDocuments(), 0);
    EXPECT_EQ(context->GetFocusElement(), context->GetRootElement());
    context->Update();
    EXPECT_EQ(instancer.listeners_alive, 0);
}

TEST_F(EventTest, ListenerReplacesTheRmlAroundItAndLoadsAnotherDocument) {
    ElementDocument* document = Open();
    files.files["other.rml"] = "<rml><body id='other'/></rml>";
    Context* owner = context;
    instancer.actions["inner"] = [owner](Event& event) {
        Element* outer = event.GetTargetElement()->GetParentNode();
        outer->SetInnerRML("<div id='fresh' onclick='fresh'>new</div>");
        ElementDocument* other = owner->LoadDocument("other.rml");
        other->RemoveReference();
    };
    document->GetElementById("inner")->Click();
    context->Update();
    ASSERT_NE(document->GetElementById("fresh"), nullptr);
    EXPECT_EQ(document->GetElementById("inner"), nullptr);
    EXPECT_EQ(document->GetElementById("outer")->GetInnerRML(),
              "<div id=\"fresh\" onclick=\"fresh\">new</div>");
    EXPECT_NE(context->GetDocument("other"), nullptr);
    EXPECT_EQ(context->GetDocument(1), context->GetDocument("other"));
    events.clear();
    document->GetElementById("fresh")->Click();
    EXPECT_EQ(events.front(), "fresh:click:target:fresh");
}

TEST_F(EventTest, EventAttributesReplaceTheirListener) {
    ElementDocument* document = Open();
    Element* inner = document->GetElementById("inner");
    int alive = instancer.listeners_alive;
    inner->SetAttribute("onclick", "second");
    EXPECT_EQ(instancer.listeners_alive, alive);
    events.clear();
    inner->Click();
    EXPECT_EQ(events.front(), "second:click:target:inner");
    inner->RemoveAttribute("onclick");
    EXPECT_EQ(instancer.listeners_alive, alive - 1);
    events.clear();
    inner->Click();
    EXPECT_EQ(events, (std::vector<std::string>{"outer:click:bubble:outer"}));
}

}  // namespace
}  // namespace rocket_test
