#pragma once

#include <string>

// What a remote-access error code means and what to try, in plain Chinese,
// for the codes people meet; empty for the others. A bare number tells most
// users nothing. dialService: the system service that dials, as
// RemoteAccess::dialService() names it.
std::string dialErrorAdvice(int code, const std::string& dialService);
