# The source folders from the bottom up. A folder may include its own headers and
# those of the folders below it, never those above: each layer can be read and
# tested with only what lies beneath it. The dock's libraries are built and linked
# in this order; tests/layers checks the includes against it.
set(ZV_LAYERS
    platform
    common
    dock/style
    dock/toast
    dock/model
    dock/icons
    dock/settings
    dock/widgets
    dock/editing
    dock/menus
    dock/tools
    dock/launchpad
    dock/window
    dock
)
# The other two programs stand on the same two bottom layers and on nothing of the dock's.
set(ZV_PROGRAMS notes picker)
