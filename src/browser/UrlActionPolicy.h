// The security policy the client's browsers present to pages: ActiveX
// controls and scripts run without prompts, data across domains is refused,
// Java and everything else follow the system's zone settings.
#pragma once

#include <cstdint>
#include <optional>

// The policy for an URL action, or nothing for the system's default.
std::optional<uint32_t> UrlActionPolicy(uint32_t action);
