// special_keys.h -- function keys, arrows, Home and Insert.
#pragma once

void onSpecialKey(int key, int x, int y);
