#include "game/ui/Book.h"

#include "platform/registry/Registry.h"

Book& TheBook() {
    return Registry::Current().Get<Book>();
}
