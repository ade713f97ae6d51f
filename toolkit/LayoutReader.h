// Builds components from a stored layout: the root takes the stored root
// object's properties; each child object becomes a component of the class it
// names, owned by the root, parented to the windowed control it is nested in.
#pragma once

#include "toolkit/Classes.h"
#include "toolkit/Tpf0.h"

namespace tk {

// Raises EClassNotFound for an unregistered class and EReadError for a
// property the class does not have or a value of the wrong type; the
// message names the object and the property.
void ReadComponent(TComponent& root, const tpf0::Object& stored);

}  // namespace tk
