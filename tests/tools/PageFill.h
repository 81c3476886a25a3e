#pragma once

namespace Rocket {
namespace Core {
class ElementDocument;
}
}  // namespace Rocket

// Fills a page's elements as the game does once it runs (scores, the toggles' labels in the
// current string table's language), each text escaped for inner RML as the game escapes it.
void fillAsTheGameDoes(Rocket::Core::ElementDocument* document);
