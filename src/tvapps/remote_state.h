// What the remote's handling keeps from one poll to the next: the repeat state of the decoder, the
// mouse emulation, and which applications the app watch looks after.
#pragma once

#include "remote/key_decoder.h"
#include "tvapps/mouse_emulator.h"
#include "tvapps/tv_app_table.h"

struct RemoteState {
    KeyDecoder decoder;
    MouseEmulation mouse;
    // Set by the Power toggle when it brought its application up; cleared by the app watch.
    bool watching[APP_COUNT] = {};
};
