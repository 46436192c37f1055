// Replaced when this folder gets its first real source.
