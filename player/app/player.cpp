#include "player/app/player.h"

namespace kirivane {

void PlayedEvents::RecordEvent(int data, int velocity, int kind) {
  if (kind == kEventNoteOn) side_panels_.NoteSounded(data);
  recorder_.RecordEvent(data, velocity, kind);
}

Player::Player(PlayerState& state_in, const Devices& devices_in, Surface& keyboard)
    : state(state_in),
      devices(devices_in),
      midi(state, devices.midi_out),
      display(state, keyboard),
      chords(state, midi, display),
      side_panels(state, midi, devices.clock, devices.sounds),
      device_controls(state, midi, devices.clock, display, chords, side_panels),
      lantern(state, midi, devices.clock),
      key_maps(state, devices.random, devices.sounds, display),
      percussion(state, midi, devices.sounds, device_controls, side_panels, key_maps),
      hook(state, devices.key_hook, display),
      performance_messages(state.app),
      recorder(state, devices.clock, performance_messages, &transport),
      engine(state, midi, devices.clock, &transport),
      transport(state, midi, devices.clock, recorder, engine,
                {devices.sounds, display, side_panels, device_controls, performance_messages}),
      keys(state, midi, display, chords, {device_controls, lantern, side_panels, transport}),
      mouse(state, midi, display, side_panels),
      midi_thru(state, midi, devices.midi_in, display),
      played_events_(side_panels, recorder) {
  midi.SetKeyboardView(&display);
  midi.SetEventSink(&played_events_);
  midi.SetControllerHook(&lantern);
  lantern.SetSidePanels(&side_panels);
}

void Player::SetWindow(WindowCommands* window, Messages* messages) {
  midi.SetMessages(messages);
  side_panels.SetWindow(window);
  device_controls.SetWindow(window);
  lantern.SetWindow(window);
  key_maps.SetWindow(window, messages);
  percussion.SetWindow(window, messages);
  hook.SetWindow(window, messages);
  performance_messages.SetMessages(messages);
  keys.SetWindow(window);
  mouse.SetWindow(window);
}

}  // namespace kirivane
