// What the program tests do with the device controller and the simulated processor: connect as
// the connect toggle does, and read what the processor was sent.
#pragma once
#include <cstdint>

#include "HidDevice/CDeviceController.h"
#include "SimDevice.h"

CDeviceController& Controller();
uint8_t* Image();
// Connects the program to the plugged processor as the connect toggle does, without the pause
// after the handshake (the test fails when it does not connect).
void Connect();
// Whether a parameter write ('d') the device received set the byte(s) at offset to value.
bool DeviceWrote(const SimDevice& device, int offset, uint16_t value);
// Parameter writes ('d') the device received that touched the offset.
int DeviceWrites(const SimDevice& device, int offset);
// Sets a row in both of the processor's banks (what a connect reads back).
void SetDeviceRow(SimDevice& device, int row, uint16_t value);
