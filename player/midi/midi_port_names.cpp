#include "player/midi/midi_port_names.h"

#include <cctype>

namespace kirivane {

namespace {

bool AllDigits(const std::string& text, std::size_t from, std::size_t to) {
  if (from >= to) return false;
  for (std::size_t i = from; i < to; ++i) {
    if (std::isdigit(static_cast<unsigned char>(text[i])) == 0) return false;
  }
  return true;
}

// The name without an ALSA address " client:port" at its end.
std::string WithoutAlsaAddress(const std::string& name) {
  const std::size_t space = name.rfind(' ');
  if (space == std::string::npos) return name;
  const std::size_t colon = name.find(':', space);
  if (colon == std::string::npos) return name;
  if (!AllDigits(name, space + 1, colon) || !AllDigits(name, colon + 1, name.size())) return name;
  return name.substr(0, space);
}

}  // namespace

bool IsOwnPort(const std::string& port, const std::string& client) {
  if (port.compare(0, client.size(), client) != 0) return false;
  const std::size_t colon = port.find(':', client.size());
  if (colon == client.size()) return true;
  // "Kirivane-01:..." is this program's second JACK client.
  return colon != std::string::npos && port[client.size()] == '-' &&
         AllDigits(port, client.size() + 1, colon);
}

std::optional<std::size_t> FindPort(const std::vector<std::string>& names,
                                    const std::string& wanted) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == wanted) return i;
  }
  const std::string bare = WithoutAlsaAddress(wanted);
  if (bare == wanted) return std::nullopt;
  std::optional<std::size_t> found;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (WithoutAlsaAddress(names[i]) != bare) continue;
    if (found) return std::nullopt;  // two such ports: the address was what told them apart
    found = i;
  }
  return found;
}

}  // namespace kirivane
