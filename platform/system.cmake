# Filled in with the registry, files and process start.
