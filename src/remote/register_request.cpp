#include "remote/register_request.h"

#include <cstring>

void setRequestHeader(RegisterRequest& request, DWORD flags, DWORD command) {
    std::memcpy(request.propertySet, REGISTER_PROPERTY_SET, sizeof request.propertySet);
    request.propertyId = REGISTER_PROPERTY_ID;
    request.propertyFlags = flags;
    request.command = command;
}
