// The application-wide look every window shares: name, style, icon and the
// design fonts. The windows' captions stay exactly as designed: no display
// name is set, so the window system adds no suffix of its own.
#pragma once

void setUpApplication();
