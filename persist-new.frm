{
  "type": "Tavrin",
  "name": "Tavrin1",
  "width": 200,
  "height": 156,
  "properties": {
    "GotFocusEffectColor": 0,
    "ItemHeight": 13
  }
}
