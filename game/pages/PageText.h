#pragma once

#include "core/hash/HashString.h"
#include "core/text/ZqString.h"

namespace Rocket {
namespace Core {
class Element;
class ElementDocument;
}  // namespace Core
}  // namespace Rocket

// The texts the game writes into its pages, and where they go.
namespace PageText {

// The current string table's text of the key (the table's missing-key text when it has none);
// empty when there is no string-table service.
orvo::ZqString localised(orvo::HashString key);
// A score as the pages show it: the whole number below it.
orvo::ZqString score(float value);
// "+5000 : " and the text of S_ON or S_OFF.
orvo::ZqString bonusLabel(bool on);
// The text of S_MUSIC, " : " and the text of S_ON or S_OFF.
orvo::ZqString musicLabel(bool on);

// The open page whose body carries the id name, else the one loaded from path; null when
// neither is open.
Rocket::Core::ElementDocument* findPage(const char* name, const char* path);
// Makes the text the element's whole content, shown as it is: a translation is plain text and
// must not be read as markup. A null element is skipped.
void show(Rocket::Core::Element* element, const orvo::ZqString& text);
// The same for the element with that id in the page (null: nothing).
void show(Rocket::Core::ElementDocument* page, const char* id, const orvo::ZqString& text);

}  // namespace PageText
