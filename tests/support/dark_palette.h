#pragma once

// Makes the application look as on a dark desktop: the Fusion style with a dark palette.
void useDarkFusion();
// Back to Fusion's own light palette.
void useLightFusion();
