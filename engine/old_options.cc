#include "engine/old_options.h"

#include <algorithm>
#include <iterator>


namespace brantel {
namespace {

struct Renamed {
  std::string_view old_name;
  std::string_view current;  // empty: MAME 0.251 has no such option
};

// The input options of old MAME's option lists (0.60 to 0.12x, Windows and
// DOS builds) and the ones of MAME 0.251 (`mame -showusage`) that took their
// place.
constexpr Renamed kOptions[] = {
    {"mouse", "mouse"},
    {"joystick", "joystick"},
    {"lightgun", "lightgun"},
    {"dual_lightgun", ""},
    {"offscreen_reload", "offscreen_reload"},
    {"steadykey", "steadykey"},
    {"keyboard_leds", ""},
    {"led_mode", ""},
    {"a2d_deadzone", "joystick_deadzone"},
    {"joy_deadzone", "joystick_deadzone"},
    {"joystick_deadzone", "joystick_deadzone"},
    {"joy_saturation", "joystick_saturation"},
    {"joystick_saturation", "joystick_saturation"},
    {"digital", ""},
    {"analogstick", ""},
    {"switchmiceaxes", ""},
    {"ctrlr", "ctrlr"},
    {"hotrod", "ctrlr"},
    {"hotrodse", "ctrlr"},
    {"multikeyboard", "multikeyboard"},
    {"multimouse", "multimouse"},
    {"ui_active", "ui_active"},
    {"natural", "natural"},
    {"contradictory", "joystick_contradictory"},
    {"joystick_contradictory", "joystick_contradictory"},
    {"coin_impulse", "coin_impulse"},
};

// "paddle_ini" named the INI file read for paddle games; MAME 0.251 chooses
// the device for them with "paddle_device".
constexpr std::string_view kDeviceOptions[] = {
    "adstick_device", "dial_device", "lightgun_device", "mouse_device",
    "paddle_device",  "pedal_device", "positional_device", "trackball_device",
};

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace

std::optional<OldOption> FindOldOption(std::string_view name) {
  const std::string lower = LowerAscii(name);
  for (const Renamed& option : kOptions) {
    if (option.old_name == lower) return OldOption{std::string(name), std::string(option.current), false};
  }
  constexpr std::string_view kIni = "_ini";
  if (lower.size() <= kIni.size() || !lower.ends_with(kIni)) return std::nullopt;
  const std::string device = lower.substr(0, lower.size() - kIni.size()) + "_device";
  const bool known = std::find(std::begin(kDeviceOptions), std::end(kDeviceOptions), device) !=
                     std::end(kDeviceOptions);
  return OldOption{std::string(name), known ? device : "", true};
}

std::vector<std::string> CurrentOptionNames() {
  std::vector<std::string> names(std::begin(kDeviceOptions), std::end(kDeviceOptions));
  for (const Renamed& option : kOptions) {
    if (!option.current.empty()) names.emplace_back(option.current);
  }
  return names;
}

}  // namespace brantel
