#pragma once

#include "clock.h"
#include "services.h"

#include <memory>

// The desktop's message boxes alone, for tests that answer real boxes.
std::unique_ptr<TMessageBoxes> MakeDesktopMessages();
std::unique_ptr<TPrintService> MakeDesktopPrinter();

// The real desktop behind the service interfaces.
class TDesktopServices {
public:
  TDesktopServices();
  ~TDesktopServices();
  TServices &Services() { return *m_services; }

private:
  struct TImpl;
  std::unique_ptr<TImpl> m_impl;
  std::unique_ptr<TServices> m_services;
};
