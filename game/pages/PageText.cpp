#include "game/pages/PageText.h"

#include <Rocket/Core/Context.h>
#include <Rocket/Core/ElementDocument.h>

#include "core/strings/ZqStringTable.h"
#include "core/text/StringFunctions.h"
#include "game/pages/StringIds.h"
#include "game/save/SaveRecord.h"
#include "ui/RmlEscape.h"
#include "ui/RocketStrings.h"
#include "ui/RocketSystem.h"

using orvo::ZqString;

namespace PageText {

ZqString localised(orvo::HashString key) {
    const orvo::ZqStringTable* table = orvo::ZqStringTable::instance_;
    if (table == nullptr) {
        return ZqString();
    }
    orvo::ZqText text;
    table->getString(key, text);
    return orvo::textToString(text);
}

ZqString score(float value) { return orvo::unsignedIntToString(SaveRecord::toWord(value), 0); }

namespace {

ZqString onOff(bool on) { return localised(on ? StringIds::S_ON : StringIds::S_OFF); }

}  // namespace

ZqString bonusLabel(bool on) { return ZqString("+5000 : ") + onOff(on); }

ZqString musicLabel(bool on) { return localised(StringIds::S_MUSIC) + " : " + onOff(on); }

Rocket::Core::ElementDocument* findPage(const char* name, const char* path) {
    const orvo::RocketSystem* ui = orvo::RocketSystem::instance_;
    if (ui == nullptr || ui->getContext() == nullptr) {
        return nullptr;
    }
    Rocket::Core::ElementDocument* page = ui->getContext()->GetDocument(name);
    return page != nullptr ? page : ui->getDocument(path);
}

void show(Rocket::Core::Element* element, const ZqString& text) {
    if (element != nullptr) {
        element->SetInnerRML(orvo::toRocketString(orvo::escapeRml(text)));
    }
}

void show(Rocket::Core::ElementDocument* page, const char* id, const ZqString& text) {
    if (page != nullptr) {
        show(page->GetElementById(id), text);
    }
}

}  // namespace PageText
