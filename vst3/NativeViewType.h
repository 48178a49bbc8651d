#pragma once

// The kind of parent window this build's editor embeds into, as attached() names it.
const char* nativeViewType();
