Q0 := A & B +
		B & C +
		C & D +
		D & E +
		E & F +
		F & G +
		G & H +
		A & H
				; 8 
Q1 := Q0
				; 1 
Q2 := A &  /Q2 +
		 /A & Q2
				; 2 
Y = A +
		B +
		C +
		D +
		E +
		F +
		G
				; 7 
/Q3 =  /A &  /B &  /C &  /D &  /E &  /F &  /G &  /H
				; 1 
/Q4 = GND		; 1
Q5 := A +
		B +
		C +
		D +
		E +
		F +
		G +
		H +
		Q5
				; 9 


$__SYMTAB_INFO:
Design_Name: takt
Gal_Type: 0
Gal_Mode: 4
Clk_Pin: 1
User_ID: __LEER

Pin_Node: CLK Pin_or_Node: 1 Number: 1 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: A Pin_or_Node: 1 Number: 2 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: B Pin_or_Node: 1 Number: 3 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: C Pin_or_Node: 1 Number: 4 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D Pin_or_Node: 1 Number: 5 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: E Pin_or_Node: 1 Number: 6 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: F Pin_or_Node: 1 Number: 7 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: G Pin_or_Node: 1 Number: 8 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: H Pin_or_Node: 1 Number: 9 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 10 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NOE Pin_or_Node: 1 Number: 11 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: Q0 Pin_or_Node: 1 Number: 12 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: Q1 Pin_or_Node: 1 Number: 13 Pol: 1 IO: 2 Reg: 1 Trst: -1 Res: 0
Pin_Node: Q2 Pin_or_Node: 1 Number: 14 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: Q3 Pin_or_Node: 1 Number: 15 Pol: 0 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Q4 Pin_or_Node: 1 Number: 16 Pol: 0 IO: 2 Reg: -1 Trst: -1 Res: 0
Pin_Node: Q5 Pin_or_Node: 1 Number: 17 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: Q6 Pin_or_Node: 1 Number: 18 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: Y Pin_or_Node: 1 Number: 19 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 20 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
