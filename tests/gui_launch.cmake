# The launch test starts the fake game program.
add_dependencies(gui_launch fake-game)
