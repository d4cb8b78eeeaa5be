#pragma once

namespace TESSARIL_REMOTECONTROL_HOST::PluginSteps {

// The plugin-level steps that the lifecycle exports run after their own trace.
// Init and Uninit reach the Host; Start and Stop only trace, since remote
// control starts and stops by command.
bool Init();
bool Start();
bool Stop();
bool Uninit();

}  // namespace TESSARIL_REMOTECONTROL_HOST::PluginSteps
