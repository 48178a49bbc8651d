#include "platform/EditorThreadScope.h"

// Outside Windows an editor's thread needs no set-up.
EditorThreadScope::EditorThreadScope() = default;
EditorThreadScope::~EditorThreadScope() = default;
