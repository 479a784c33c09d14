# Filled in with the Qt desktop.
